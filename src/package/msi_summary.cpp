#include "package/msi_summary.h"

#include <libmsi.h>

#include <memory>

namespace launcher::package {

namespace {

struct ObjectRelease {
  void operator()(void* object) const { g_object_unref(object); }
};
struct ErrorRelease {
  void operator()(GError* error) const { g_error_free(error); }
};

template <typename T>
using GObjectPointer = std::unique_ptr<T, ObjectRelease>;

PackageError Failure(const char* step, GError* raw) {
  const std::unique_ptr<GError, ErrorRelease> error(raw);
  return PackageError{std::string("libmsi could not ") + step + ": " + (error ? error->message : "no reason given")};
}

}  // namespace

PackageResult<bool> SetSummaryStamps(const std::string& input, const std::string& output,
                                     const std::string& packageCode, uint64_t fileTime) {
  GError* error = nullptr;
  const GObjectPointer<LibmsiDatabase> database(
      libmsi_database_new(input.c_str(), LIBMSI_DB_FLAGS_TRANSACT, output.c_str(), &error));
  if (!database) return Failure("open the installer wixl made", error);
  const GObjectPointer<LibmsiSummaryInfo> summary(libmsi_summary_info_new(database.get(), 4, &error));
  if (!summary) return Failure("read its summary information", error);
  if (!libmsi_summary_info_set_string(summary.get(), LIBMSI_PROPERTY_UUID, packageCode.c_str(), &error) ||
      !libmsi_summary_info_set_filetime(summary.get(), LIBMSI_PROPERTY_CREATED_TM, fileTime, &error) ||
      !libmsi_summary_info_set_filetime(summary.get(), LIBMSI_PROPERTY_LASTSAVED_TM, fileTime, &error)) {
    return Failure("set the summary information", error);
  }
  if (!libmsi_summary_info_save(summary.get(), database.get(), &error)) return Failure("save the summary", error);
  if (!libmsi_database_commit(database.get(), &error)) return Failure("write the installer", error);
  return true;
}

}  // namespace launcher::package
