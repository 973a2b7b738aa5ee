#include "startup_cache/startup_cache_job.h"

#include <vector>

#include "platform/text.h"

namespace launcher::startup_cache {

namespace {

constexpr std::string_view kHeader = "start-up cache job 1";
constexpr size_t kFixedFields = 11;  // the header and the ten single values

}  // namespace

std::string SerializeJob(const CacheBuildJob& job) {
  std::string text(kHeader);
  for (const WideString* field : {&job.javaProgram, &job.classList, &job.temporaryArchive, &job.archive, &job.stamp,
                                  &job.output, &job.failureMarker, &job.folder, &job.family, &job.jobFile}) {
    text += '\0' + platform::ToUtf8(*field);
  }
  for (const WideString& argument : job.arguments) text += '\0' + platform::ToUtf8(argument);
  return text;
}

std::optional<CacheBuildJob> ParseJob(std::string_view text) {
  std::vector<WideString> fields;
  for (size_t start = 0;;) {
    const size_t end = text.find('\0', start);
    fields.push_back(platform::FromUtf8(text.substr(start, end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (fields.size() < kFixedFields || platform::ToUtf8(fields[0]) != kHeader) return std::nullopt;
  CacheBuildJob job{fields[1], {},        fields[2], fields[3], fields[4], fields[5],
                    fields[6], fields[7], fields[8], fields[9], fields[10]};
  job.arguments.assign(fields.begin() + kFixedFields, fields.end());
  return job;
}

}  // namespace launcher::startup_cache
