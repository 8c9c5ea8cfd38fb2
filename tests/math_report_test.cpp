#include "app/math_report.h"

#include <gtest/gtest.h>

#include "tests/fake_platform.h"

namespace hygrian {
namespace {

using testing::ExitStatusOf;

TEST(RaiseMathFault, NumbersAndTexts) {
  struct Case {
    air::Fault fault;
    const char* report;
  };
  const Case cases[] = {
      {air::Fault::Invalid,
       "\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n"},
      {air::Fault::DivideByZero,
       "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n"},
      {air::Fault::Overflow,
       "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n"},
      {air::Fault::LogDomain, "\r\nrun-time error M6201: MATH\r\n- log: DOMAIN error\r\n"},
      {air::Fault::LogSingularity, "\r\nrun-time error M6202: MATH\r\n- log: SING error\r\n"},
      {air::Fault::ExpOverflow, "\r\nrun-time error M6203: MATH\r\n- exp: OVERFLOW error\r\n"},
      {air::Fault::PowerDomain, "\r\nrun-time error M6201: MATH\r\n- **: DOMAIN error\r\n"},
      {air::Fault::PowerSingularity, "\r\nrun-time error M6202: MATH\r\n- **: SING error\r\n"},
      {air::Fault::PowerOverflow, "\r\nrun-time error M6203: MATH\r\n- **: OVERFLOW error\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    testing::FakePlatform fake;
    Console console(fake);
    EXPECT_EQ(ExitStatusOf([&] { RaiseMathFault(console, c.fault); }), 1);
    EXPECT_EQ(fake.err, c.report);
    EXPECT_EQ(fake.out, "");
  }
}

}  // namespace
}  // namespace hygrian
