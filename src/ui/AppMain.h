#pragma once

class QWidget;

namespace hoplark {

// The program's entry: start-up, then the main window until it is closed; the close ends
// the program. Returns the exit status (non-zero when the user data folder cannot be made).
int AppMain(int argc, char** argv);

// Brings the window of a form to the foreground.
void W_FrmTop(QWidget* form);

// The screen's horizontal logical dots per inch (96 without a screen).
int GetScrDpi();

} // namespace hoplark
