#pragma once

class Launcher;

// Publishes the chosen runtime to the application (QX_JVM_PATH, QX_JVM_HOME),
// puts "System Path" and the runtime's bin folder on the search path, and turns
// "Library Path" into the first JVM option, -Djava.library.path.
void PrepareEnvironment(Launcher& launcher);
