// zorpa95's icon bar, the keys of its commands and the names of its fields. Pure: no
// windows.h.
#pragma once

#include "common/texts.h"
#include "frame/program_tables.h"
#include "zorpa95/ids.h"

namespace zorpa95 {

inline constexpr IconBarButton kIconBarButtons[] = {
    {16, 32, kButtonMean, "StCom", kCommandMean, {"m Coeff.(Cl)", "平均係数(Cl)"}, 0},
    {48, 32, kButtonVariance, "StCos", kCommandVariance, {"s Coeff.(Cl,Cu)", "分散係数(Cl,Cu)"}, 0},
    {80, 32, kButtonAbout, "About", kCommandAbout, {"About", "御案内"}, 0},
    {112, 32, kButtonHelp, "Help", kCommandHelp, {"Help", "ヘルプ"}, 0},
    {144, 32, kButtonExit, "Exit", kCommandExit, {"Exit", "終了"}, 0},
};

inline constexpr CommandKey kCommandKeys[] = {
    {kKeyF1, 0, kCommandHelp},
    {kKeyF1, kModShift, kCommandAbout},
    {kKeyF5, 0, kCommandMean},
    {kKeyF6, 0, kCommandVariance},
    {kKeyF4, kModAlt, kCommandExit},  // the system's, as in every window
};

// The fields below the sample-size list, named as their label picture shows them.
inline constexpr Text kCfLabel = {"Confidence %", "信頼度 cf(%)"};
inline constexpr Text kResult1Label = {"Coeff. Cl", "係数 Cl"};
inline constexpr Text kResult2Label = {"Coeff. Cu", "係数 Cu"};

}  // namespace zorpa95
