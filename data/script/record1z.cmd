# First step of a scheduled recording: the graph, the tuner and the video source afresh.
new GraphBuilder cFg
cFg create
new CaptureGraphBuilder cCapBuild
cCapBuild create
cCapBuild SetFiltergraph cFg
new TvTuner tune
tune create cFg
new VCapSorce cVCap
cVCap create
label filterSet
