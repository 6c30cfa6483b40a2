# After a profile's video format was loaded and the video window given: the preview again.
cFg add cVCap
cCapBuild renderPreview cVCap
cFg startGraph
cVCap loadQuality
