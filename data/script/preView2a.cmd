# Before a profile's video format is loaded: the source stays out of the graph so that its
# format can change; the preview returns with preView2b.cmd.
