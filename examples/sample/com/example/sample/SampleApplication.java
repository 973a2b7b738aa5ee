package com.example.sample;

/** A small application started by the launcher: it tells what the launcher gave it. */
public final class SampleApplication {
  private SampleApplication() {}

  public static void main(String[] args) {
    System.out.println("Hello from the sample application!");
    System.out.println("Running on Java " + System.getProperty("java.version") + " from "
        + System.getenv("QX_JVM_HOME"));
    System.out.println("Greeting from the settings file: " + System.getProperty("sample.greeting"));
    System.out.println("Heap limit: " + Runtime.getRuntime().maxMemory() / (1024 * 1024) + " MB");
    System.out.println("Arguments (" + args.length + "): " + String.join(" | ", args));
  }
}
