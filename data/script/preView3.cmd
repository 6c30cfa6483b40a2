# The preview again after "clean filterSet" and "tune nukeWithoutNeeds cFg", on the built-in profile.
cVCap loadFormat "‚s‚u"
cFg add cVCap
cCapBuild setViewWin form width height
cCapBuild renderPreview cVCap
cFg startGraph
cVCap loadQuality
