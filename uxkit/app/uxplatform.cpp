#include "uxplatform.h"

#include "nubmsg.h"
#include "nubplatform.h"

#include <QCoreApplication>

namespace Ux {

const char *version() { return "0.9.0"; }

// The name queries share the platform layer of the toolkit-free functions.
QString currentUserName() {
  const char *name = Nub::currentUserName();
  return name ? QString::fromLocal8Bit(name) : QString();
}

QString computerName() {
  const char *name = Nub::computerName();
  return name ? QString::fromLocal8Bit(name) : QString();
}

void memTest() { Nub::memTest("Starting Ux-memorytest ...", "Ux-memorytest finished."); }

}  // namespace Ux
