// The architecture text of the about line, with fake translation queries for every
// answer the macOS query can give.

#include "source/controller/plugarchitecture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

using namespace Steinberg::Vst;

namespace {

// What the fake query answers, and what it was asked.
struct FakeAnswer
{
	int result;
	int error;
	int32_t value;
};
FakeAnswer answer;
std::string askedName;
size_t askedLength;
bool askedToWrite;

int fakeQuery (const char* name, void* oldValue, size_t* oldLength, void* newValue, size_t newLength)
{
	askedName = name;
	askedLength = *oldLength;
	askedToWrite = newValue != nullptr || newLength != 0;
	if (answer.result != 0)
	{
		errno = answer.error;
		return answer.result;
	}
	std::memcpy (oldValue, &answer.value, sizeof (answer.value));
	return 0;
}

} // namespace

TEST (PlugArchitecture, MacTextForEveryAnswerOfTheQuery)
{
	struct Case
	{
		FakeAnswer answer;
		BuildCpu cpu;
		const char* expected;
	};
	const Case cases[] = {
	    {{-1, ENOENT, 0}, BuildCpu::kX86_64, "x86_64-macOS"}, // a system without the query
	    {{-1, ENOENT, 0}, BuildCpu::kArm64, "x86_64-macOS"},
	    {{-1, EPERM, 0}, BuildCpu::kX86_64, "unknown"},
	    {{-1, ENOMEM, 0}, BuildCpu::kArm64, "unknown"},
	    {{0, 0, 1}, BuildCpu::kX86_64, "arm64-macOS (T)"}, // translated
	    {{0, 0, 2}, BuildCpu::kX86_64, "x86_64-macOS"},
	    {{0, 0, 0}, BuildCpu::kX86_64, "x86_64-macOS"}, // native: the build's own processor
	    {{0, 0, 0}, BuildCpu::kArm64, "arm64-macOS"},
	    {{0, 0, 0}, BuildCpu::kOther, "unknown"},
	    {{0, 0, 3}, BuildCpu::kX86_64, "unknown"},
	    {{0, 0, -1}, BuildCpu::kArm64, "unknown"},
	};
	for (const Case& c : cases)
	{
		answer = c.answer;
		askedName.clear ();
		EXPECT_EQ (macArchitectureText (&fakeQuery, c.cpu), c.expected)
		    << "result " << c.answer.result << " errno " << c.answer.error << " value " << c.answer.value;
		EXPECT_EQ (askedName, "sysctl.proc_translated");
		EXPECT_EQ (askedLength, 4u);
		EXPECT_FALSE (askedToWrite);
	}
	// No query at all reads like a system without it.
	EXPECT_EQ (macArchitectureText (nullptr, BuildCpu::kX86_64), "x86_64-macOS");
}

TEST (PlugArchitecture, LinuxTextNamesTheBuildArchitecture)
{
	EXPECT_EQ (linuxArchitectureText (BuildCpu::kX86_64), "x86_64-Linux");
	EXPECT_EQ (linuxArchitectureText (BuildCpu::kArm64), "arm64-Linux");
	EXPECT_EQ (linuxArchitectureText (BuildCpu::kOther), "unknown");

#if defined(__linux__)
	// The installed query is not used on Linux.
	answer = {0, 0, 1};
	TranslationQuery previous = setTranslationQuery (&fakeQuery);
	EXPECT_EQ (architectureText (), linuxArchitectureText (buildCpu ()));
	setTranslationQuery (previous);
#if defined(__x86_64__)
	EXPECT_EQ (architectureText (), "x86_64-Linux");
#endif
#endif
}

#if defined(__APPLE__)
TEST (PlugArchitecture, MacBuildUsesTheInstalledQuery)
{
	answer = {0, 0, 1};
	TranslationQuery previous = setTranslationQuery (&fakeQuery);
	EXPECT_EQ (architectureText (), "arm64-macOS (T)");
	setTranslationQuery (previous);
}
#endif
