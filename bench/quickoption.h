// The benchmarks' one option: "--quick" for a short smoke run.
#pragma once

#include <cstdio>
#include <cstring>

/** Reads the command line; false (after printing the usage) for anything but "--quick". */
inline bool readQuickOption (int argc, char** argv, bool& quick)
{
	quick = false;
	for (int i = 1; i < argc; ++i)
	{
		if (std::strcmp (argv[i], "--quick") != 0)
		{
			std::fprintf (stderr, "usage: %s [--quick]\n", argv[0]);
			return false;
		}
		quick = true;
	}
	return true;
}
