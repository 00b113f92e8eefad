#pragma once

// The host's component handler, recording every edit the controller passes on.

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <vector>

namespace ord3ltest {

using namespace Steinberg;

/** Records every edit the controller passes to the host. */
class RecordingHandler : public Vst::IComponentHandler
{
public:
	struct Event
	{
		char kind; // 'b' begin, 'p' perform, 'e' end
		Vst::ParamID tag;
		Vst::ParamValue value;
	};

	RecordingHandler () = default;
	virtual ~RecordingHandler () = default;

	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE
	{
		if (FUnknownPrivate::iidEqual (_iid, Vst::IComponentHandler::iid) ||
		    FUnknownPrivate::iidEqual (_iid, FUnknown::iid))
		{
			addRef ();
			*obj = this;
			return kResultOk;
		}
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return ++refs; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE
	{
		if (--refs == 0)
		{
			delete this;
			return 0;
		}
		return refs;
	}

	tresult PLUGIN_API beginEdit (Vst::ParamID id) SMTG_OVERRIDE
	{
		events.push_back ({'b', id, 0.});
		return kResultOk;
	}
	tresult PLUGIN_API performEdit (Vst::ParamID id, Vst::ParamValue valueNormalized) SMTG_OVERRIDE
	{
		events.push_back ({'p', id, valueNormalized});
		return kResultOk;
	}
	tresult PLUGIN_API endEdit (Vst::ParamID id) SMTG_OVERRIDE
	{
		events.push_back ({'e', id, 0.});
		return kResultOk;
	}
	tresult PLUGIN_API restartComponent (int32) SMTG_OVERRIDE { return kResultOk; }

	/** The kinds of all edits in order, e.g. "bpe". */
	std::string kinds () const
	{
		std::string s;
		for (const auto& e : events)
			s.push_back (e.kind);
		return s;
	}
	/** The kinds of the edits of one parameter. */
	std::string kindsOf (Vst::ParamID tag) const
	{
		std::string s;
		for (const auto& e : events)
			if (e.tag == tag)
				s.push_back (e.kind);
		return s;
	}
	/** The last perform of one parameter, or null. */
	const Event* lastPerform (Vst::ParamID tag) const
	{
		for (auto it = events.rbegin (); it != events.rend (); ++it)
			if (it->tag == tag && it->kind == 'p')
				return &*it;
		return nullptr;
	}

	std::vector<Event> events;

private:
	uint32 refs {1};
};

} // namespace ord3ltest
