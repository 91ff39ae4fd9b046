#pragma once
// The engine's one start and one stop. The program's entry and every test harness run the
// engine through these calls, so the process state (clock and frame, input, power
// bookkeeping, errors, the display, the application object and the sound manager) is set
// up and put away in one order, and a test program can start the engine many times.
class VGApplication;

// Fresh process state: the engine clock starts again at 0; no input, error or application.
// Choose the settings file, the folders and the audio output before.
void StartEngine();
// Makes app the one application object, TheApp; the engine owns it from now on.
void AdoptApplication(VGApplication* app);
// Deletes the application object (its destructor saves what it keeps) and clears TheApp.
void DeleteApplication();
// The end of a run: the application object goes, the sound manager closes every channel
// while the audio output and its clock still exist, and the display is closed. The error
// log stays for the caller to read. Calling it again does nothing more.
void StopEngine();
