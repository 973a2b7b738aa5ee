# The JNI invocation interface comes from the installed JDK's jni.h. The Windows
# build puts a jni_md.h of its own first on the include path instead of the JDK's
# Linux one, so both builds declare the same JNI types for their target.
if(DEFINED ENV{JAVA_HOME} AND EXISTS "$ENV{JAVA_HOME}/include/jni.h")
  set(jdk_home "$ENV{JAVA_HOME}")
else()
  find_program(javac_program javac REQUIRED NO_CMAKE_FIND_ROOT_PATH)
  file(REAL_PATH "${javac_program}" javac_real)
  get_filename_component(jdk_bin "${javac_real}" DIRECTORY)
  get_filename_component(jdk_home "${jdk_bin}" DIRECTORY)
endif()
if(NOT EXISTS "${jdk_home}/include/jni.h")
  message(FATAL_ERROR "jni.h not found under ${jdk_home}/include: install a JDK or set JAVA_HOME")
endif()
set(JDK_HOME "${jdk_home}" CACHE PATH "JDK whose jni.h the launcher is built against")

add_library(jni_headers INTERFACE)
if(WIN32)
  target_include_directories(jni_headers SYSTEM INTERFACE
    "${CMAKE_SOURCE_DIR}/src/jvm/win32" "${JDK_HOME}/include")
else()
  target_include_directories(jni_headers SYSTEM INTERFACE
    "${JDK_HOME}/include" "${JDK_HOME}/include/linux")
endif()
