#include "records/filter_follower.h"

#include "records/logger.h"

namespace tavrik {

void TFilterFollower::SetLogger(TLogger& logger) {
  if (logger_ != &logger) Unfollow();
  logger_ = &logger;
  Follow();
}

TLogFilter* TFilterFollower::Follow() {
  if (logger_ == nullptr) return nullptr;
  TLogFilter& filter = logger_->Filter();
  if (logger_->FilterGeneration() != generation_) {
    subscription_ = filter.Subscribe(onChange_);
    generation_ = logger_->FilterGeneration();
  }
  return &filter;
}

void TFilterFollower::Unfollow() {
  if (logger_ != nullptr && generation_ != 0 && logger_->FilterGeneration() == generation_) {
    logger_->Filter().Unsubscribe(subscription_);
  }
  generation_ = 0;
  subscription_ = -1;
}

}  // namespace tavrik
