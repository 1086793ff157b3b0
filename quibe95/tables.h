// quibe95's icon bar, the keys of its commands and the name of its result box. Pure: no
// windows.h.
#pragma once

#include "common/texts.h"
#include "frame/program_tables.h"
#include "quibe95/ids.h"

namespace quibe95 {

inline constexpr IconBarButton kIconBarButtons[] = {
    {16, 32, kButtonGet, "Quibe", kCommandGet, {"Get Coeff.", "係数の取得"}, 0},
    {48, 32, kButtonAbout, "About", kCommandAbout, {"About", "御案内"}, 0},
    {80, 32, kButtonHelp, "Help", kCommandHelp, {"Help", "ヘルプ"}, 0},
    {112, 32, kButtonExit, "Exit", kCommandExit, {"Exit", "終了"}, 0},
};

inline constexpr CommandKey kCommandKeys[] = {
    {kKeyF1, 0, kCommandHelp},
    {kKeyF1, kModShift, kCommandAbout},
    {kKeyF5, 0, kCommandGet},
    {kKeyF4, kModAlt, kCommandExit},  // the system's, as in every window
};

// The result box, named as its label picture shows it.
inline constexpr Text kResultLabel = {"Coeff. K(n)", "係数 K(n)"};

}  // namespace quibe95
