#pragma once

#include <cstdint>

// The JVM thread's routine; its parameter is the Launcher. Creates the JVM and
// runs the main class: 0 when both succeeded, 1 otherwise.
uint32_t JvmThreadMain(void* launcher);
