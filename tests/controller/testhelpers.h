#pragma once

// Small helpers shared by the controller tests: UTF-16 texts as std::string and a host
// context that may claim to be an Audio Unit wrapper. The recording component handler
// lives with the tests' host.

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/vsttypes.h"
#include "recordingcomponenthandler.h"

#include <cstring>
#include <string>
#include <vector>

namespace ord3ltest {

using namespace Steinberg;

/** ASCII-only narrowing of a zero-terminated UTF-16 text. */
inline std::string narrow (const Vst::TChar* text)
{
	std::string s;
	for (; text && *text; ++text)
		s.push_back (*text < 128 ? static_cast<char> (*text) : '?');
	return s;
}

/** UTF-16 copy of an ASCII text, zero-terminated. */
inline std::u16string widen (const std::string& text)
{
	return std::u16string (text.begin (), text.end ());
}

/** A host context; when it plays an Audio Unit wrapper it answers the wrapper's interface
    ID with itself (one more reference). Counts what it hands out and gets back. */
class FakeHostContext : public FUnknown
{
public:
	FakeHostContext (const TUID answeredIid, bool answer) : answer (answer)
	{
		memcpy (iid, answeredIid, sizeof (TUID));
	}
	virtual ~FakeHostContext () = default;

	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE
	{
		++queries;
		if (answer && FUnknownPrivate::iidEqual (_iid, iid))
		{
			addRef ();
			*obj = this;
			return kResultOk;
		}
		if (FUnknownPrivate::iidEqual (_iid, FUnknown::iid))
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
		// Lives on the test's stack: never deletes itself.
		return --refs;
	}

	int32 refs {1};
	int32 queries {0};

private:
	TUID iid;
	bool answer;
};

} // namespace ord3ltest
