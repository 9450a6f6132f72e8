#pragma once
// Zoom levels are the program's percent per tab (100 = normal). The engine
// accepts only factors 0.25-5.0, so only what is sent to it is clamped.
namespace ZoomRule {
enum class Step { Normal, Larger, Smaller };
// A percent below 10 or above 1000 becomes 100.
int normalised(int percent);
// The percent a zoom menu item asks for, from the tab's stored level (a
// stored level below 1 is first taken as 100). Not yet normalised.
int requested(int storedPercent, Step step);
// The factor given to the engine for a (normalised) percent.
double engineFactor(int percent);
}
