#pragma once

#include <memory>

#include <jni.h>

#include "instance/request_serving.h"
#include "platform/wide_string.h"

// Where a first instance passes the starts forwarded to it: the application's
// secondaryMain, in the JVM that runs main. Shared with the request threads,
// which may outlive the run.
struct ForwardingTarget {
  WideString mainClass;       // "/"-separated
  bool stayAttached = false;  // the runtime chosen is an IBM one
  // Set on the JVM thread right before main runs, before the forwarding opens;
  // request threads read it only after that.
  JavaVM* vm = nullptr;
};

// Serves each forwarded start through secondaryMain.
RequestHandler ServeThroughSecondaryMain(std::shared_ptr<const ForwardingTarget> target);
