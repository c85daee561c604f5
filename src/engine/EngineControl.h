#pragma once
// The engine as the commander reaches it: whether it runs, whether its
// program is there, and its start and stop through the shell.

// True exactly when the engine's window exists.
bool IsEngineRunning();
// True when the engine's program file is in the program folder.
bool EngineInstalled();
// The message for a missing engine program: caption "Error", stop icon.
void ReportEngineMissing();
// Runs the engine with its start switch. The caller saves the settings and
// the list first: the engine reads them as it starts.
void StartEngine();
// Runs the engine with its stop switch.
void StopEngine();
