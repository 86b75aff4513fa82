#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

// Widgets need an application object for the whole run.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { App = std::make_unique<QApplication>(Argc, Argv); }
  void TearDown() override { App.reset(); }

 private:
  int Argc = 1;
  char Name[16] = "zeltoria_tests";
  char* Argv[2] = {Name, nullptr};
  std::unique_ptr<QApplication> App;
};

const auto* const QtEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
