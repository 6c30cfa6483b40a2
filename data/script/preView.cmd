# The first preview: the graph, the tuner, the video source, then the preview in the panel.
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
cVCap loadFormat "‚s‚u"
cFg add cVCap
cCapBuild setViewWin form width height
cCapBuild renderPreview cVCap
cFg startGraph
cVCap loadQuality
