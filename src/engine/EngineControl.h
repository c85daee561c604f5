#pragma once
// True exactly when the engine's window exists.
bool IsEngineRunning();
