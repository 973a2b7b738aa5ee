#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "instance/instance_names.h"
#include "instance/socket_channel_posix.h"
#include "instance/socket_messages.h"
#include "platform/text.h"
#include "single_instance_fixture.h"

namespace launcher::instance {

namespace {

class SingleInstancePosixTest : public SingleInstanceTest {
 protected:
  std::string RuntimeFolder() const { return platform::ToUtf8(dir_.Path(L"run")); }
  std::string SocketPath() const {
    return RuntimeFolder() + "/" + platform::ToUtf8(SocketBaseNameOf(Executable())) + ".socket";
  }
};

TEST_F(SingleInstancePosixTest, ASocketLeftByAKilledInstanceIsReplacedNotObeyed) {
  ASSERT_EQ(mkdir(RuntimeFolder().c_str(), 0700), 0);
  {
    // Bound and never removed, as by a process killed while it listened.
    platform::posix::Descriptor stale(socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, SocketPath().c_str());
    ASSERT_EQ(bind(stale.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  }
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  EXPECT_EQ(StartSecond(Executable(), {L"x"}).get(), ReplyFor({L"x"}));
}

TEST_F(SingleInstancePosixTest, AMalformedRequestIsRefused) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  platform::posix::Descriptor connection = ConnectTo(SocketPath());
  ASSERT_TRUE(connection);
  ASSERT_TRUE(SendAll(connection, std::string("\x01\0\0\0x", 5)));  // a packet of one byte: no count
  // Acknowledged with this process's id, then refused.
  EXPECT_EQ(ReceiveExactly(connection, 5), EncodeAnswer({Answer::Kind::Copied, static_cast<int32_t>(getpid())}));
  EXPECT_EQ(ReceiveExactly(connection, 5), std::optional<std::string>(std::string("R\xff\xff\xff\xff", 5)));
  EXPECT_TRUE(recorder_.received.empty());
}

TEST_F(SingleInstancePosixTest, ARuntimeFolderOthersMayEnterIsNotUsed) {
  ASSERT_EQ(mkdir(RuntimeFolder().c_str(), 0700), 0);
  ASSERT_EQ(chmod(RuntimeFolder().c_str(), 0755), 0);
  InstanceRole role = SetUpSingleInstance(Executable());
  EXPECT_TRUE(std::holds_alternative<OrdinaryStart>(role));
}

TEST_F(SingleInstancePosixTest, TheRuntimeFolderIsMadePrivate) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  struct stat info;
  ASSERT_EQ(stat(RuntimeFolder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(stat(SocketPath().c_str(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  first.reset();
  EXPECT_NE(stat(SocketPath().c_str(), &info), 0);  // removed by the instance that made it
}

}  // namespace

}  // namespace launcher::instance
