#pragma once

// Hands the latest value of a record from one thread to another without a lock:
// a triple buffer. The writer never waits for the reader and the reader never
// waits for the writer; the reader always sees a whole record, the latest one
// published, and values published in between are skipped.

#include <atomic>
#include <cstdint>

namespace Steinberg {
namespace Vst {

template <typename T>
class LatestValueChannel
{
public:
	/** Writer side: publishes a copy of value. */
	void publish (const T& value)
	{
		slots[writeSlot] = value;
		uint8_t previous = middle.exchange (static_cast<uint8_t> (writeSlot | kFresh), std::memory_order_acq_rel);
		writeSlot = previous & kSlotMask;
	}

	/** Reader side: copies the latest published value into out and returns true,
	    or returns false when nothing new was published since the last fetch. */
	bool fetch (T& out)
	{
		if ((middle.load (std::memory_order_acquire) & kFresh) == 0)
			return false;
		uint8_t previous = middle.exchange (readSlot, std::memory_order_acq_rel);
		readSlot = previous & kSlotMask;
		out = slots[readSlot];
		return true;
	}

	/** Drops anything published and not yet fetched. Only while neither side runs. */
	void clear ()
	{
		writeSlot = 0;
		middle.store (1, std::memory_order_release);
		readSlot = 2;
	}

private:
	static constexpr uint8_t kSlotMask = 0x03;
	static constexpr uint8_t kFresh = 0x04;

	T slots[3] {};
	uint8_t writeSlot {0};             // touched by the writer only
	std::atomic<uint8_t> middle {1};   // the slot between the two, plus the fresh flag
	uint8_t readSlot {2};              // touched by the reader only
};

} // namespace Vst
} // namespace Steinberg
