#pragma once

// Host side of a block's parameter changes: one queue per parameter, points in order.

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <utility>
#include <vector>

namespace ord3ltest {

using namespace Steinberg;
using namespace Steinberg::Vst;

class HostParamValueQueue : public IParamValueQueue
{
public:
	explicit HostParamValueQueue (ParamID id) : id (id) { FUNKNOWN_CTOR }
	virtual ~HostParamValueQueue () = default;

	ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return id; }
	int32 PLUGIN_API getPointCount () SMTG_OVERRIDE { return static_cast<int32> (points.size ()); }
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
	tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

	/** Counts getPoint calls, so tests can see which points were asked for. */
	int32 getPointCalls {0};
	/** When set, getPoint answers kResultFalse. */
	bool failGetPoint {false};

	DECLARE_FUNKNOWN_METHODS

private:
	ParamID id;
	std::vector<std::pair<int32, ParamValue>> points;
};

class HostParameterChanges : public IParameterChanges
{
public:
	HostParameterChanges () { FUNKNOWN_CTOR }
	virtual ~HostParameterChanges ();

	/** Adds a queue for id with the given (offset, value) points; returns it. */
	HostParamValueQueue* add (ParamID id, std::vector<std::pair<int32, ParamValue>> pts = {});
	/** Adds a null entry: getParameterData answers null at this index. */
	void addNull () { queues.push_back (nullptr); }
	void clear ();

	int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE { return static_cast<int32> (queues.size ()); }
	IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE;
	IParamValueQueue* PLUGIN_API addParameterData (const ParamID& id, int32& index) SMTG_OVERRIDE;

	DECLARE_FUNKNOWN_METHODS

private:
	std::vector<HostParamValueQueue*> queues;
};

} // namespace ord3ltest
