#pragma once

class Launcher;

// Settles on the JVM library to load: the "JRE Path" folder, a private runtime,
// the registry, the 32-bit registry view for the pair product, or, last, the
// folder the user picks (which is then remembered). False when the user picked
// none.
bool ResolveRuntime(Launcher& launcher);
