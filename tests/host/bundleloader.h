#pragma once

// Loads a built .vst3 bundle the way a Linux host does: dlopen the library in
// Contents/<arch>-linux, call ModuleEntry, get the factory; and back out again.

#include "pluginterfaces/base/ipluginbase.h"

#include <string>

namespace ord3ltest {

/** The bundle under test: $ORD3L_TEST_BUNDLE when set (an installed bundle), else builtBundle. */
std::string bundleUnderTest (const char* builtBundle);

class BundleLoader
{
public:
	BundleLoader () = default;
	~BundleLoader () { unload (); }

	/** Opens bundlePath ("…/NAME.vst3"); false with error() set on failure. */
	bool load (const std::string& bundlePath);
	/** Calls ModuleExit and dlclose; safe to call twice. */
	bool unload ();

	Steinberg::IPluginFactory* getFactory () const; // a new reference, or null
	void* symbol (const char* name) const;
	const std::string& error () const { return lastError; }
	const std::string& libraryPath () const { return library; }

private:
	void* handle {nullptr};
	bool entered {false};
	std::string library;
	std::string lastError;
};

} // namespace ord3ltest
