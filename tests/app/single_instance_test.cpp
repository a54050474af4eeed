#include "app/single_instance.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One holder at a time per program name; the lock is free again once the
// holder is gone. Named for this test, so a running tool is not touched.
TEST(Single_instance, OnlyTheFirstCopyOfAProgramHoldsTheLock)
{
    const QString program = QStringLiteral("kvr27-lock-test-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<Single_instance>(program);
    EXPECT_TRUE(first->first());
    EXPECT_FALSE(Single_instance(program).first());
    EXPECT_TRUE(Single_instance(program + QStringLiteral("-other")).first());

    first.reset();
    EXPECT_TRUE(Single_instance(program).first());
}

} // namespace
