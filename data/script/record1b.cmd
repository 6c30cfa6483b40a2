# After the output file is set: the sources in the graph, the video window in the panel.
cFg add cVCap
cFg add cACap
cFg add cComp
cCapBuild setViewWin form width height
