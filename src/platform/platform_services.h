// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

class Beeper;
class Clipboard;
class ColorDialog;
class MessageBox;
class ProgramExit;
class RandomSource;
class SettingsStore;

// Everything the windows need of the system beyond their widgets. The program hands the
// real services to its windows; tests hand recording doubles.
struct PlatformServices {
    Clipboard& clipboard;
    MessageBox& messageBox;
    Beeper& beeper;
    ProgramExit& programExit;
    ColorDialog& colorDialog;
    RandomSource& random;
    SettingsStore& settings;
};

} // namespace hueprint
