#pragma once

// Streams for state tests: an in-memory stream (the SDK's), one that takes only a
// given number of bytes, and helpers to move bytes in and out.

#include "public.sdk/source/common/memorystream.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace ord3ltest {

using namespace Steinberg;

/** Accepts at most `limit` bytes in total; further writes are cut short. */
class LimitedStream : public IBStream
{
public:
	explicit LimitedStream (int64 limit) : limit (limit) { FUNKNOWN_CTOR }
	virtual ~LimitedStream () = default;

	tresult PLUGIN_API read (void*, int32, int32* numBytesRead) SMTG_OVERRIDE
	{
		if (numBytesRead)
			*numBytesRead = 0;
		return kResultFalse;
	}
	tresult PLUGIN_API write (void* buffer, int32 numBytes, int32* numBytesWritten) SMTG_OVERRIDE
	{
		int64 room = limit - static_cast<int64> (bytes.size ());
		int32 n = static_cast<int32> (room < numBytes ? (room < 0 ? 0 : room) : numBytes);
		auto* p = static_cast<const uint8_t*> (buffer);
		bytes.insert (bytes.end (), p, p + n);
		if (numBytesWritten)
			*numBytesWritten = n;
		return n == numBytes ? kResultOk : kResultFalse;
	}
	tresult PLUGIN_API seek (int64, int32, int64*) SMTG_OVERRIDE { return kResultFalse; }
	tresult PLUGIN_API tell (int64* pos) SMTG_OVERRIDE
	{
		if (pos)
			*pos = static_cast<int64> (bytes.size ());
		return kResultOk;
	}

	std::vector<uint8_t> bytes;

	DECLARE_FUNKNOWN_METHODS

private:
	int64 limit;
};

/** The bytes written to a memory stream so far. */
inline std::vector<uint8_t> bytesOf (MemoryStream& stream)
{
	auto* data = reinterpret_cast<const uint8_t*> (stream.getData ());
	return std::vector<uint8_t> (data, data + stream.getSize ());
}

/** A memory stream positioned at its start, holding the given bytes. */
inline IPtr<MemoryStream> streamWith (const std::vector<uint8_t>& bytes)
{
	auto stream = owned (new MemoryStream ());
	int32 written = 0;
	if (!bytes.empty ())
		stream->write (const_cast<uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

} // namespace ord3ltest
