#include "hostparameterchanges.h"

namespace ord3ltest {

IMPLEMENT_FUNKNOWN_METHODS (HostParamValueQueue, IParamValueQueue, IParamValueQueue::iid)
IMPLEMENT_FUNKNOWN_METHODS (HostParameterChanges, IParameterChanges, IParameterChanges::iid)

tresult PLUGIN_API HostParamValueQueue::getPoint (int32 index, int32& sampleOffset, ParamValue& value)
{
	++getPointCalls;
	if (failGetPoint || index < 0 || index >= getPointCount ())
		return kResultFalse;
	sampleOffset = points[static_cast<size_t> (index)].first;
	value = points[static_cast<size_t> (index)].second;
	return kResultOk;
}

tresult PLUGIN_API HostParamValueQueue::addPoint (int32 sampleOffset, ParamValue value, int32& index)
{
	index = getPointCount ();
	points.emplace_back (sampleOffset, value);
	return kResultOk;
}

HostParameterChanges::~HostParameterChanges () { clear (); }

HostParamValueQueue* HostParameterChanges::add (ParamID id, std::vector<std::pair<int32, ParamValue>> pts)
{
	auto* q = new HostParamValueQueue (id);
	for (auto& p : pts)
	{
		int32 index = 0;
		q->addPoint (p.first, p.second, index);
	}
	queues.push_back (q);
	return q;
}

void HostParameterChanges::clear ()
{
	for (auto* q : queues)
		if (q)
			q->release ();
	queues.clear ();
}

IParamValueQueue* PLUGIN_API HostParameterChanges::getParameterData (int32 index)
{
	if (index < 0 || index >= getParameterCount ())
		return nullptr;
	return queues[static_cast<size_t> (index)];
}

IParamValueQueue* PLUGIN_API HostParameterChanges::addParameterData (const ParamID& id, int32& index)
{
	index = getParameterCount ();
	return add (id);
}

} // namespace ord3ltest
