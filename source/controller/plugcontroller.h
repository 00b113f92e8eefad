#pragma once

// The edit controller: 25 parameters, set from the processor's stored state.

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class PlugController : public EditController
{
public:
	PlugController () = default;
	~PlugController () SMTG_OVERRIDE = default;

	/** Create function of the controller class; the context is not used. */
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setComponentState (IBStream* state) SMTG_OVERRIDE;
};

} // namespace Vst
} // namespace Steinberg
