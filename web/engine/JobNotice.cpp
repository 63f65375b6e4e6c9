#include "JobNotice.h"

JobNotice jobNotice(const JobResult& result, Language language) {
    JobNotice notice;
    const TransferResult& transfer = result.transfer;
    if (result.ok()) {
        return notice;
    }
    if (transfer.status == TransferStatus::WrongRadio) {
        notice.shape = JobNotice::Shape::WrongRadio;
        notice.text = transferMessageText(transfer.status, language);
        notice.caption = wrongRadioCaption(language);
        return notice;
    }
    // Cancel needs no message unless the radio may be half-written, or written and not verified.
    const bool cancelled = result.mismatchRow < 0 && (transfer.status == TransferStatus::Cancelled ||
                                                      transfer.status == TransferStatus::CommunicationError);
    if (cancelled && result.stage == JobStage::Verify && result.cancelled()) {
        notice.shape = JobNotice::Shape::Information;
        notice.text = jobCancelledText(result, language);
        return notice;
    }
    if (cancelled && !result.radioMayBeHalfWritten) {
        return notice;
    }
    notice.shape = JobNotice::Shape::Warning;
    notice.text = jobFailureText(result, language);
    notice.choices = jobChoices(result);
    notice.radioChanged = result.radioMayBeHalfWritten;
    return notice;
}
