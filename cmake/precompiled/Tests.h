// What the tests read besides what the program does.
#pragma once

#include "Common.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#if __has_include(<QTest>)
#include <QSignalSpy>
#include <QTest>
#endif
