#pragma once

// The processor-architecture text of the about line.
//
// On macOS the text comes from the "sysctl.proc_translated" query, which tells a
// translated run (an x86-64 build on an arm64 machine) from a native one. Linux has no
// such query: there the text names the architecture the module was built for. The
// query is a replaceable function so that tests can play every outcome of it.

#include <cstddef>
#include <string>

namespace Steinberg {
namespace Vst {

/** Same shape as sysctlbyname: reads the value called name into oldValue / oldLength;
    returns 0 on success, -1 with errno set on failure. */
using TranslationQuery = int (*) (const char* name, void* oldValue, size_t* oldLength, void* newValue,
                                  size_t newLength);

/** The processor a module is built for, as far as the about line cares. */
enum class BuildCpu
{
	kX86_64,
	kArm64,
	kOther
};

/** The processor this module was compiled for. */
BuildCpu buildCpu ();

/** The macOS text: asks query for "sysctl.proc_translated" (read only) and maps the answer:
    ENOENT -> "x86_64-macOS", other failures -> "unknown", 1 -> "arm64-macOS (T)",
    2 -> "x86_64-macOS", 0 (a native run) -> "arm64-macOS" or "x86_64-macOS" by cpu,
    anything else -> "unknown". A null query counts as ENOENT. */
std::string macArchitectureText (TranslationQuery query, BuildCpu cpu);

/** The Linux text: "x86_64-Linux", "arm64-Linux" or "unknown". */
std::string linuxArchitectureText (BuildCpu cpu);

/** The text for this build: macArchitectureText with the installed query on macOS,
    linuxArchitectureText elsewhere. */
std::string architectureText ();

/** Installs the query that architectureText uses on macOS (sysctlbyname by default; null
    restores it) and returns the one installed before. Main thread only. */
TranslationQuery setTranslationQuery (TranslationQuery query);

} // namespace Vst
} // namespace Steinberg
