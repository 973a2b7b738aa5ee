/* Machine-dependent JNI types for Windows targets, used in place of the JDK's
   Linux jni_md.h when cross-building with MinGW-w64. */
#ifndef LAUNCHER_JNI_MD_H
#define LAUNCHER_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
