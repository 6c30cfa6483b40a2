#include "graph_watch.h"

void GraphWatch::onRecOn() {
  if (watching_) return;
  watching_ = true;
  timer_.start(kPollMs);
}

void GraphWatch::onRecOff() {
  watching_ = false;
  timer_.stop();
}

void GraphWatch::onTimer() {
  timer_.stop();
  // An engine that has ended reads nothing.
  if (!watching_ || engine_.engineGone()) return;
  engine_.pollGraph();
  timer_.start(kPollMs);
}
