// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/start_lock.h"

namespace {

// Two starts at the same moment take turns: the second gets the lock only once the first has let
// go, as it does when the first program ends; a lock whose file cannot be made is never had.
TEST(StartLockTest, TwoStartsTakeTurns) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("program.lock"));
  auto first = std::make_unique<app::StartLock>(path);
  ASSERT_TRUE(first->tryLock(0));
  app::StartLock second(path);
  EXPECT_FALSE(second.tryLock(30));
  first.reset();
  EXPECT_TRUE(second.tryLock(0));

  app::StartLock nowhere(dir.filePath(QStringLiteral("missing/program.lock")));
  EXPECT_FALSE(nowhere.tryLock(0));
}

}  // namespace
