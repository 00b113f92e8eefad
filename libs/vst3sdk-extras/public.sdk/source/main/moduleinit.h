#pragma once

// Functions that run when the host first enters the module and when it leaves
// it for the last time. Register them with static objects:
//   static Steinberg::ModuleInitializer gInit ([] { ... });

#include <functional>
#include <string>

namespace Steinberg {

using ModuleInitFunction = std::function<void ()>;

/** Lower priorities run first on entry; terminators run last-registered first at the same priority. */
struct ModuleInitializer
{
	explicit ModuleInitializer (ModuleInitFunction&& func, unsigned priority = 1000);
};

struct ModuleTerminator
{
	explicit ModuleTerminator (ModuleInitFunction&& func, unsigned priority = 1000);
};

/** Runs the registered initialisers; called by the module entry on its first call. */
void runModuleInitializers ();
/** Runs the registered terminators; called by the module exit on the balancing call. */
void runModuleTerminators ();

/** True between the first module entry and the balancing exit. */
bool isModuleEntered ();

/** Absolute path of the module's bundle folder ("…/NAME.vst3"), empty when unknown. */
const std::string& getModuleBundlePath ();
/** Absolute path of the bundle's resources folder ("…/NAME.vst3/Contents/Resources"). */
const std::string& getModuleResourcesPath ();

/** Sets the bundle path from the path of the module's shared library
    (".../NAME.vst3/Contents/<arch>-linux/NAME.so"). Used by the entry; callable by tests. */
void setModuleBundleFromLibraryPath (const std::string& libraryPath);

} // namespace Steinberg
