#include "graph_watch.h"

void GraphWatch::onRecOn() {}
void GraphWatch::onRecOff() {}
void GraphWatch::onTimer() {}
