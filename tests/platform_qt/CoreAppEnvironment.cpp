// The application object for the whole test binary: QProcess and QSettings want one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class CoreAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { App = std::make_unique<QCoreApplication>(Argc, Argv); }
  void TearDown() override { App.reset(); }

 private:
  int Argc = 1;
  char Name[16] = "platform_tests";
  char* Argv[2] = {Name, nullptr};
  std::unique_ptr<QCoreApplication> App;
};

[[maybe_unused]] ::testing::Environment* const Registered =
    ::testing::AddGlobalTestEnvironment(new CoreAppEnvironment);

}  // namespace
