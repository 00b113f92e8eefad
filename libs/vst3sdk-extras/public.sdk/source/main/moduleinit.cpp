#include "public.sdk/source/main/moduleinit.h"

#include <algorithm>
#include <vector>

namespace Steinberg {

namespace {

struct Entry
{
	ModuleInitFunction func;
	unsigned priority;
	size_t order;
};

// Function-local statics: the registering objects may be constructed before any
// other static of this file.
std::vector<Entry>& initializers ()
{
	static std::vector<Entry> list;
	return list;
}

std::vector<Entry>& terminators ()
{
	static std::vector<Entry> list;
	return list;
}

struct Paths
{
	std::string bundle;
	std::string resources;
};

Paths& paths ()
{
	static Paths p;
	return p;
}

bool entered = false;

void runAll (std::vector<Entry> list, bool reverseOrder)
{
	std::stable_sort (list.begin (), list.end (), [&] (const Entry& a, const Entry& b) {
		if (a.priority != b.priority)
			return a.priority < b.priority;
		return reverseOrder ? a.order > b.order : a.order < b.order;
	});
	for (auto& e : list)
		e.func ();
}

std::string parentOf (const std::string& path)
{
	auto end = path.find_last_not_of ('/');
	if (end == std::string::npos)
		return {};
	auto slash = path.rfind ('/', end);
	if (slash == std::string::npos)
		return {};
	return slash == 0 ? std::string ("/") : path.substr (0, slash);
}

} // namespace

ModuleInitializer::ModuleInitializer (ModuleInitFunction&& func, unsigned priority)
{
	initializers ().push_back ({std::move (func), priority, initializers ().size ()});
}

ModuleTerminator::ModuleTerminator (ModuleInitFunction&& func, unsigned priority)
{
	terminators ().push_back ({std::move (func), priority, terminators ().size ()});
}

void runModuleInitializers ()
{
	entered = true;
	runAll (initializers (), false);
}

void runModuleTerminators ()
{
	runAll (terminators (), true);
	entered = false;
}

bool isModuleEntered () { return entered; }

const std::string& getModuleBundlePath () { return paths ().bundle; }
const std::string& getModuleResourcesPath () { return paths ().resources; }

void setModuleBundleFromLibraryPath (const std::string& libraryPath)
{
	// NAME.vst3/Contents/<arch>-linux/NAME.so: two levels up is Contents.
	std::string contents = parentOf (parentOf (libraryPath));
	if (contents.empty ())
	{
		paths () = {};
		return;
	}
	paths ().resources = contents + "/Resources";
	paths ().bundle = parentOf (contents);
}

} // namespace Steinberg
