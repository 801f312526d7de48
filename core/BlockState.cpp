#include "BlockState.h"

namespace kyt {

const std::vector<BlockField>& blockFields()
{
    // clang-format off
#define KYT_FIELD(n) BlockField{#n, &BlockState::n}
    static const std::vector<BlockField> fields = {
        KYT_FIELD(OpA), KYT_FIELD(DpA), KYT_FIELD(PozA), KYT_FIELD(WblA), KYT_FIELD(ZwblA),
        KYT_FIELD(NcA), KYT_FIELD(PwlA), KYT_FIELD(ZpA), KYT_FIELD(LzsA), KYT_FIELD(IcA),
        KYT_FIELD(OpB), KYT_FIELD(DpB), KYT_FIELD(PozB), KYT_FIELD(WblB), KYT_FIELD(ZwblB),
        KYT_FIELD(NcB), KYT_FIELD(PwlB), KYT_FIELD(ZpB), KYT_FIELD(LzsB), KYT_FIELD(IcB),
        KYT_FIELD(PwyA), KYT_FIELD(dKoB), KYT_FIELD(WB), KYT_FIELD(ZB), KYT_FIELD(SB),
        KYT_FIELD(PwyB), KYT_FIELD(dKoA), KYT_FIELD(WA), KYT_FIELD(ZA), KYT_FIELD(SA),
        KYT_FIELD(WblReleaseAB), KYT_FIELD(WblReleaseBA),
        KYT_FIELD(KoReleaseAB), KYT_FIELD(KoReleaseBA),
        KYT_FIELD(DalejPhase),
        KYT_FIELD(TrainStep), KYT_FIELD(TrainRunAB), KYT_FIELD(TrainRunBA),
        KYT_FIELD(SzTicksA), KYT_FIELD(SzTicksB),
        KYT_FIELD(sza1Active), KYT_FIELD(szb1Active), KYT_FIELD(sza2Active), KYT_FIELD(szb2Active),
        KYT_FIELD(SignalA2Clear), KYT_FIELD(SignalB1Clear),
        KYT_FIELD(sza1Count), KYT_FIELD(szb1Count), KYT_FIELD(sza2Count), KYT_FIELD(szb2Count),
        KYT_FIELD(dkoaCount), KYT_FIELD(dkobCount), KYT_FIELD(dpoaCount), KYT_FIELD(dpobCount),
    };
    // clang-format on
#undef KYT_FIELD
    return fields;
}

} // namespace kyt
