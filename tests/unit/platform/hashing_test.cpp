#include "platform/hashing.h"

#include <gtest/gtest.h>

#include "runtime_install/runtime_store.h"

namespace launcher::platform {

namespace {

// The SHA-256 test vectors of FIPS 180-2, in pieces of every size.
TEST(HashingTest, KnownVectorsWhateverThePieces) {
  struct Case {
    std::string input;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) {
    for (size_t piece : {size_t{1}, size_t{63}, size_t{4096}, c.input.size() + 1}) {
      if (piece == 1 && c.input.size() > 1000) continue;
      platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
      ASSERT_TRUE(hash) << hash.error().code;
      for (size_t at = 0; at < c.input.size(); at += piece) {
        ASSERT_TRUE(hash->Add(std::string_view(c.input).substr(at, piece)));
      }
      platform::SystemResult<platform::Sha256Digest> digest = hash->Finish();
      ASSERT_TRUE(digest);
      EXPECT_EQ(runtime_install::HexOf(*digest), c.digest) << c.input.size() << " in pieces of " << piece;
    }
  }
}

}  // namespace

}  // namespace launcher::platform
