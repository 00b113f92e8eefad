#include "source/controller/plugarchitecture.h"

#include <cerrno>
#include <cstdint>

#if defined(__APPLE__)
#include <sys/sysctl.h>
#include <sys/types.h>
#endif

namespace Steinberg {
namespace Vst {

namespace {

TranslationQuery systemQuery ()
{
#if defined(__APPLE__)
	return &sysctlbyname;
#else
	return nullptr;
#endif
}

TranslationQuery& installedQuery ()
{
	static TranslationQuery query = systemQuery ();
	return query;
}

const char* cpuName (BuildCpu cpu)
{
	switch (cpu)
	{
		case BuildCpu::kX86_64: return "x86_64";
		case BuildCpu::kArm64: return "arm64";
		case BuildCpu::kOther: break;
	}
	return nullptr;
}

} // namespace

BuildCpu buildCpu ()
{
#if defined(__x86_64__) || defined(_M_X64)
	return BuildCpu::kX86_64;
#elif defined(__aarch64__) || defined(_M_ARM64)
	return BuildCpu::kArm64;
#else
	return BuildCpu::kOther;
#endif
}

std::string macArchitectureText (TranslationQuery query, BuildCpu cpu)
{
	int32_t value = 0;
	size_t size = sizeof (value);
	int result = -1;
	int error = ENOENT;
	if (query)
	{
		errno = 0;
		result = query ("sysctl.proc_translated", &value, &size, nullptr, 0);
		error = errno;
	}

	if (result != 0)
		return error == ENOENT ? "x86_64-macOS" : "unknown";
	switch (value)
	{
		case 1: return "arm64-macOS (T)";
		case 2: return "x86_64-macOS";
		case 0:
			// Not translated: the process runs the code it was built as.
			if (const char* name = cpuName (cpu))
				return std::string (name) + "-macOS";
			return "unknown";
		default: return "unknown";
	}
}

std::string linuxArchitectureText (BuildCpu cpu)
{
	if (const char* name = cpuName (cpu))
		return std::string (name) + "-Linux";
	return "unknown";
}

std::string architectureText ()
{
#if defined(__APPLE__)
	return macArchitectureText (installedQuery (), buildCpu ());
#else
	return linuxArchitectureText (buildCpu ());
#endif
}

TranslationQuery setTranslationQuery (TranslationQuery query)
{
	TranslationQuery previous = installedQuery ();
	installedQuery () = query ? query : systemQuery ();
	return previous;
}

} // namespace Vst
} // namespace Steinberg
