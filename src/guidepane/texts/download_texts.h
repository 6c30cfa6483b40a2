// The download dialog's texts (Shift-JIS bytes; defined in download_texts.cpp).
#pragma once

namespace texts {

extern const char kDownloadCaption[];
extern const char kBaseAddressLabel[];
extern const char kAreaLabel[];
extern const char kStartDateLabel[];
extern const char kEndDateLabel[];
extern const char kStartDownload[];
extern const char kStopDownload[];
extern const char kBaseFromShownPage[];
extern const char kCloseDownload[];
extern const char kDownloadRecords[];
extern const char kProgressGroup[];
extern const char kFileBeingFetched[];
extern const char kHtmlFiles[];
extern const char kImageFiles[];

extern const char kEndBeforeStartDate[];
extern const char kNoPageName[];
extern const char kPageCreateFailed[];
extern const char kPageWriteFailed[];
extern const char kFolderCreateFailed[];
extern const char kDownloadAborted[];
extern const char kDownloadFinished[];
extern const char kPagesNotSaved[];
extern const char kFilesDropped[];

extern const char kThreadCreated[];
extern const char kThreadDestroyed[];
extern const char kFileCreateFailed[];
extern const char kWorkerInternetOpenFailed[];
extern const char kOpenUrlFailed[];
extern const char kStatusFailed[];
extern const char kFileWriteFailed[];
extern const char kWorkerReadFailed[];
extern const char kBodyCutShort[];
extern const char kJobDropped[];

}  // namespace texts
