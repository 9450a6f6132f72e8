#pragma once
// Process start: environment for the embedded browser, locale, windows, loop.
int runApplication(int argc, char **argv);
