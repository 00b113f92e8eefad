#pragma once

// Class IDs and parameter tags shared by the processor and the controller.

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

static const FUID kPlugProcessorUID (0xD405F7E8, 0x7E444420, 0x81F43AC8, 0x744EF223);
static const FUID kPlugControllerUID (0xF748B3BE, 0x7FEB4E7D, 0xB81F05E8, 0x7644832C);

/** The six bands in their fixed order; the index of records, filters and tags. */
enum EqBand : int32
{
	kBandLF = 0,
	kBandMF1,
	kBandMF2,
	kBandMF3,
	kBandMF4,
	kBandHF,
	kNumEqBands
};

/** Parameter tags. Band b owns the tags 3 + 4b + k: k = 0 gain, 1 frequency, 2 Q, 3 on/off.
    The Q tags of the two shelves (5 and 25) are state fields only: no parameter exists for them. */
enum PlugParamID : ParamID
{
	kBypassId = 0,
	kLevelId = 1,
	kRangeId = 2,

	kGainLFId = 3,
	kFreqLFId,
	kQLFId,
	kChanStatusLFId,

	kGainMF1Id = 7,
	kFreqMF1Id,
	kQMF1Id,
	kChanStatusMF1Id,

	kGainMF2Id = 11,
	kFreqMF2Id,
	kQMF2Id,
	kChanStatusMF2Id,

	kGainMF3Id = 15,
	kFreqMF3Id,
	kQMF3Id,
	kChanStatusMF3Id,

	kGainMF4Id = 19,
	kFreqMF4Id,
	kQMF4Id,
	kChanStatusMF4Id,

	kGainHFId = 23,
	kFreqHFId,
	kQHFId,
	kChanStatusHFId,

	kNumPlugParamTags
};

} // namespace Vst
} // namespace Steinberg
