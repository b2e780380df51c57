#pragma once

class Forms;
struct Module1;

// Registers every window of the game under its name.
void registerWindows(Forms& forms, Module1& state);
