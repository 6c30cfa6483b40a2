# Last step: the capture branches into the file, held until "cCapBuild captureStream on".
cCapBuild renderVCapture cVCap cComp
cCapBuild renderACapture cACap
cCapBuild captureStream off
cFg startGraph
cVCap loadQuality
