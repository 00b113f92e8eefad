#include "bundleloader.h"

#include <cstdlib>
#include <dlfcn.h>
#include <sys/utsname.h>

namespace ord3ltest {

std::string bundleUnderTest (const char* builtBundle)
{
	const char* installed = std::getenv ("ORD3L_TEST_BUNDLE");
	return installed && *installed ? installed : builtBundle;
}

using EntryProc = bool (*) (void*);
using ExitProc = bool (*) ();

bool BundleLoader::load (const std::string& bundlePath)
{
	unload ();
	std::string stem = bundlePath;
	while (!stem.empty () && stem.back () == '/')
		stem.pop_back ();
	std::string dir = stem;
	auto slash = stem.rfind ('/');
	if (slash != std::string::npos)
		stem = stem.substr (slash + 1);
	const std::string suffix = ".vst3";
	if (stem.size () <= suffix.size () || stem.compare (stem.size () - suffix.size (), suffix.size (), suffix) != 0)
	{
		lastError = "not a .vst3 bundle: " + bundlePath;
		return false;
	}
	stem.resize (stem.size () - suffix.size ());
	utsname u {};
	uname (&u);
	library = dir + "/Contents/" + std::string (u.machine) + "-linux/" + stem + ".so";

	handle = dlopen (library.c_str (), RTLD_LAZY | RTLD_LOCAL);
	if (!handle)
	{
		lastError = dlerror ();
		return false;
	}
	auto entry = reinterpret_cast<EntryProc> (dlsym (handle, "ModuleEntry"));
	auto exitProc = dlsym (handle, "ModuleExit");
	auto factory = dlsym (handle, "GetPluginFactory");
	if (!entry || !exitProc || !factory)
	{
		lastError = "missing entry point";
		dlclose (handle);
		handle = nullptr;
		return false;
	}
	if (!entry (handle))
	{
		lastError = "ModuleEntry failed";
		dlclose (handle);
		handle = nullptr;
		return false;
	}
	entered = true;
	return true;
}

bool BundleLoader::unload ()
{
	if (!handle)
		return true;
	bool ok = true;
	if (entered)
	{
		auto exitProc = reinterpret_cast<ExitProc> (dlsym (handle, "ModuleExit"));
		ok = exitProc && exitProc ();
		entered = false;
	}
	// Under LeakSanitizer the library stays mapped, so that a leak report can name it.
	if (!std::getenv ("ORD3L_KEEP_MODULE_LOADED"))
		dlclose (handle);
	handle = nullptr;
	return ok;
}

Steinberg::IPluginFactory* BundleLoader::getFactory () const
{
	auto proc = reinterpret_cast<GetFactoryProc> (symbol ("GetPluginFactory"));
	return proc ? proc () : nullptr;
}

void* BundleLoader::symbol (const char* name) const
{
	return handle ? dlsym (handle, name) : nullptr;
}

} // namespace ord3ltest
