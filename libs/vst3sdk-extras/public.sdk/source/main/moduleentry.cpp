// The module's exported entry and exit. Linux hosts call ModuleEntry right after
// loading the library and ModuleExit before unloading it; macOS hosts call
// bundleEntry / bundleExit. Calls are counted: the first entry runs the module's
// initialisers, the balancing exit its terminators.

#include "public.sdk/source/main/moduleinit.h"
#include "pluginterfaces/base/fplatform.h"

#if defined(__linux__)
#include <dlfcn.h>
#endif

/** The handle the host gave the module entry (the dlopen handle on Linux). */
void* moduleHandle = nullptr;

namespace {

int entryCount = 0;

bool enterModule (void* handle)
{
	if (++entryCount > 1)
		return true;
	moduleHandle = handle;
	try
	{
		Steinberg::runModuleInitializers ();
	}
	catch (...)
	{
		--entryCount;
		moduleHandle = nullptr;
		return false;
	}
	return true;
}

bool exitModule ()
{
	if (entryCount == 0)
		return false; // not balanced by an entry
	if (--entryCount > 0)
		return true;
	try
	{
		Steinberg::runModuleTerminators ();
	}
	catch (...)
	{
	}
	moduleHandle = nullptr;
	return true;
}

} // namespace

#if defined(__linux__)

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry (void* sharedLibraryHandle)
{
	if (entryCount == 0)
	{
		Dl_info info {};
		if (dladdr (reinterpret_cast<void*> (&ModuleEntry), &info) && info.dli_fname)
			Steinberg::setModuleBundleFromLibraryPath (info.dli_fname);
	}
	return enterModule (sharedLibraryHandle);
}

SMTG_EXPORT_SYMBOL bool ModuleExit () { return exitModule (); }

} // extern "C"

#elif defined(__APPLE__)

#include <CoreFoundation/CoreFoundation.h>

extern "C" {

SMTG_EXPORT_SYMBOL bool bundleEntry (CFBundleRef ref)
{
	if (!ref)
		return false;
	if (entryCount == 0)
	{
		CFRetain (ref);
		if (CFURLRef url = CFBundleCopyExecutableURL (ref))
		{
			char path[4096];
			if (CFURLGetFileSystemRepresentation (url, true, reinterpret_cast<UInt8*> (path), sizeof (path)))
				Steinberg::setModuleBundleFromLibraryPath (path);
			CFRelease (url);
		}
	}
	return enterModule (ref);
}

SMTG_EXPORT_SYMBOL bool bundleExit ()
{
	void* ref = moduleHandle;
	bool wasLast = entryCount == 1;
	bool result = exitModule ();
	if (result && wasLast && ref)
		CFRelease (static_cast<CFBundleRef> (ref));
	return result;
}

} // extern "C"

#endif
