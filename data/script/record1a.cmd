# Before the quality profile is loaded: the audio source and the compressor.
new ACapSorce cACap
new Compress cComp
