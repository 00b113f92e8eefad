// The module's exported factory: lists the processor and the controller class.

#include "public.sdk/source/main/pluginfactory.h"
#include "source/controller/plugcontroller.h"
#include "source/processor/plugids.h"
#include "source/processor/plugprocessor.h"
#include "source/version.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory ()
{
	if (gPluginFactory)
	{
		gPluginFactory->addRef ();
		return gPluginFactory;
	}

	// Filled once per loaded module, even when the factory is later built again.
	static const PFactoryInfo factoryInfo (PLUG_VENDOR_STR, PLUG_VENDOR_URL_STR, PLUG_VENDOR_EMAIL_STR,
	                                       PFactoryInfo::kUnicode);
	gPluginFactory = new CPluginFactory (factoryInfo);

	TUID processorCid;
	kPlugProcessorUID.toTUID (processorCid);
	static const PClassInfo2 processorClass (processorCid, PClassInfo::kManyInstances,
	                                         kVstAudioEffectClass, "ts ORD3L", kDistributable,
	                                         "Fx|EQ", nullptr, PLUG_VERSION_STR, kVstVersionString);
	gPluginFactory->registerClass (&processorClass, PlugProcessor::createInstance, nullptr);

	TUID controllerCid;
	kPlugControllerUID.toTUID (controllerCid);
	static const PClassInfo2 controllerClass (controllerCid, PClassInfo::kManyInstances,
	                                          kVstComponentControllerClass, "ts ORD3L Controller", 0,
	                                          "", nullptr, PLUG_VERSION_STR, kVstVersionString);
	gPluginFactory->registerClass (&controllerClass, PlugController::createInstance, nullptr);

	return gPluginFactory;
}
