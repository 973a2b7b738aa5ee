#include "instance/instance_names.h"

#include <gtest/gtest.h>

namespace launcher::instance {

namespace {

TEST(InstanceNamesTest, TheWindowsNameIsThePathWithUnderscoresForBackslashes) {
  const WideString name = ObjectNameOf(L"C:\\Program Files\\App\\start.exe");
  EXPECT_EQ(name, L"C:_Program Files_App_start.exe");
  EXPECT_EQ(ForwardingEventNameOf(name), L"C:_Program Files_App_start.exe_upr_evt");
  EXPECT_EQ(HandOffMutexNameOf(name), L"C:_Program Files_App_start.exe_upr_mtx");
  EXPECT_EQ(CopiedEventNameOf(name), L"C:_Program Files_App_start.exe_upr_ack");
  EXPECT_EQ(PacketMappingNameOf(name, 4242), L"C:_Program Files_App_start.exe_upr_args_4242");
  // Letter case stays: two spellings of one path are two instances.
  EXPECT_NE(ObjectNameOf(L"C:\\App\\start.exe"), ObjectNameOf(L"C:\\app\\start.exe"));
}

TEST(InstanceNamesTest, TheSocketNameIsAStableHashOfThePath) {
  // The name must not change between versions: a running first instance and a
  // newer launcher at the same path still meet.
  EXPECT_EQ(SocketBaseNameOf(L"/opt/app/launcher"), L"launcher-f72eb028ecce51d4");
  EXPECT_EQ(SocketBaseNameOf(L"/opt/\u00e9/launcher"), L"launcher-5683eb08d4b99621");  // hashed as UTF-8
  EXPECT_EQ(SocketBaseNameOf(L""), L"launcher-cbf29ce484222325");  // FNV-1a's offset basis: nothing hashed
  EXPECT_NE(SocketBaseNameOf(L"/opt/app/launcher"), SocketBaseNameOf(L"/opt/app2/launcher"));
  EXPECT_NE(SocketBaseNameOf(L"/opt/App/launcher"), SocketBaseNameOf(L"/opt/app/launcher"));
}

TEST(InstanceNamesTest, TheRuntimeFolderIsTheUsersOrAPrivateOneUnderTmp) {
  EXPECT_EQ(RuntimeFolderFor(L"/run/user/1000", 1000), L"/run/user/1000");
  EXPECT_EQ(RuntimeFolderFor(std::nullopt, 1000), L"/tmp/launcher-1000");
  EXPECT_EQ(RuntimeFolderFor(L"", 7), L"/tmp/launcher-7");
  // Only an absolute path may name the runtime folder: a relative one is not trusted.
  EXPECT_EQ(RuntimeFolderFor(L"run/user/7", 7), L"/tmp/launcher-7");
}

}  // namespace

}  // namespace launcher::instance
