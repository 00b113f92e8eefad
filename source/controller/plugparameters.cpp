#include "source/controller/plugparameters.h"

#include "source/controller/tsrangeparameter.h"
#include "source/controller/tsswitchparameter.h"
#include "source/processor/plugids.h"

namespace Steinberg {
namespace Vst {

namespace {

constexpr int32 kAuto = ParameterInfo::kCanAutomate;
constexpr auto kLin = ParamCurve::kLinear;
constexpr auto kExp = ParamCurve::kExponential;
constexpr auto kSw = ParamCurve::kSwitch;

} // namespace

// A new processor runs every band, so the band switches default to on.
const PlugParameterSpec kPlugParameters[kNumPlugParameters] = {
    // tag               title                    units        min     max      default  curve  prec flags
    {kBypassId,        STR16 ("Bypass"),         nullptr,     0.0,    1.0,     0.0,     kSw,  0, kAuto | ParameterInfo::kIsBypass},
    {kLevelId,         STR16 ("Level"),          STR16 ("dB"), -36.0, 12.0,    0.0,     kLin, 1, kAuto},
    {kRangeId,         STR16 ("Range"),          STR16 ("%"),  0.0,   100.0,   100.0,   kLin, 0, kAuto},
    {kGainLFId,        STR16 ("Gain_LF"),        STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqLFId,        STR16 ("Freq_LF"),        STR16 ("Hz"), 20.0,  2000.0,  200.0,   kExp, 0, kAuto},
    {kChanStatusLFId,  STR16 ("ChanStatus_LF"),  nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
    {kGainMF1Id,       STR16 ("Gain_MF1"),       STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqMF1Id,       STR16 ("Freq_MF1"),       STR16 ("Hz"), 40.0,  16000.0, 800.0,   kExp, 0, kAuto},
    {kQMF1Id,          STR16 ("Q_MF1"),          nullptr,     1.0,    10.0,    3.2,     kExp, 2, kAuto},
    {kChanStatusMF1Id, STR16 ("ChanStatus_MF1"), nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
    {kGainMF2Id,       STR16 ("Gain_MF2"),       STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqMF2Id,       STR16 ("Freq_MF2"),       STR16 ("Hz"), 40.0,  16000.0, 800.0,   kExp, 0, kAuto},
    {kQMF2Id,          STR16 ("Q_MF2"),          nullptr,     1.0,    10.0,    3.2,     kExp, 2, kAuto},
    {kChanStatusMF2Id, STR16 ("ChanStatus_MF2"), nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
    {kGainMF3Id,       STR16 ("Gain_MF3"),       STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqMF3Id,       STR16 ("Freq_MF3"),       STR16 ("Hz"), 40.0,  16000.0, 800.0,   kExp, 0, kAuto},
    {kQMF3Id,          STR16 ("Q_MF3"),          nullptr,     1.0,    10.0,    3.2,     kExp, 2, kAuto},
    {kChanStatusMF3Id, STR16 ("ChanStatus_MF3"), nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
    {kGainMF4Id,       STR16 ("Gain_MF4"),       STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqMF4Id,       STR16 ("Freq_MF4"),       STR16 ("Hz"), 40.0,  16000.0, 800.0,   kExp, 0, kAuto},
    {kQMF4Id,          STR16 ("Q_MF4"),          nullptr,     1.0,    10.0,    3.2,     kExp, 2, kAuto},
    {kChanStatusMF4Id, STR16 ("ChanStatus_MF4"), nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
    {kGainHFId,        STR16 ("Gain_HF"),        STR16 ("dB"), -16.0, 16.0,    0.0,     kLin, 1, kAuto},
    {kFreqHFId,        STR16 ("Freq_HF"),        STR16 ("Hz"), 500.0, 18000.0, 3000.0,  kExp, 0, kAuto},
    {kChanStatusHFId,  STR16 ("ChanStatus_HF"),  nullptr,     0.0,    1.0,     1.0,     kSw,  0, kAuto},
};

Parameter* makePlugParameter (const PlugParameterSpec& spec)
{
	Parameter* p = nullptr;
	switch (spec.curve)
	{
		case ParamCurve::kSwitch:
			return new TSSwitchParameter (spec.title, spec.tag, spec.flags, spec.defaultPlain);
		case ParamCurve::kLinear:
			p = new TSRangeParameter (spec.title, spec.tag, spec.units, spec.flags, spec.minPlain,
			                          spec.maxPlain, spec.defaultPlain);
			break;
		case ParamCurve::kExponential:
			p = new TSExpRangeParameter (spec.title, spec.tag, spec.units, spec.flags, spec.minPlain,
			                             spec.maxPlain, spec.defaultPlain);
			break;
	}
	p->setPrecision (spec.precision);
	return p;
}

} // namespace Vst
} // namespace Steinberg
