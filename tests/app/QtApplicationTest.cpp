#include "app/QtApplication.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kal::app {
namespace {

TEST(QtApplication, AnExceptionEscapingACommandIsReportedOnceAndTheProgramGoesOn) {
  std::vector<std::string> reports;
  auto report = [&](const std::string& what) { reports.push_back(what); };
  EXPECT_FALSE(QtApplication::RunGuarded([]() -> bool { throw std::runtime_error("書き込めません"); }, report));
  EXPECT_FALSE(QtApplication::RunGuarded([]() -> bool { throw 42; }, report));
  EXPECT_EQ(reports, (std::vector<std::string>{"書き込めません", "unknown error"}));
  // A command that ends normally passes its result through and reports nothing.
  EXPECT_TRUE(QtApplication::RunGuarded([] { return true; }, report));
  EXPECT_EQ(reports.size(), 2u);
}

}  // namespace
}  // namespace kal::app
