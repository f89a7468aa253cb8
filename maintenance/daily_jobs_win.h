// The maintenance services' daily jobs for the application object: the update check and scheduled
// archiving, which the framework's start-up runs once and its control window every 24 hours.
#pragma once

/// Sets gApp's daily-job hooks to CheckForUpdateIfDue and ArchiveConfigIfDue, and its archive
/// folder hook, which the start-up's pending archive spares, to ScheduledArchiveFolder. Call it
/// before CZrfApp::Init, whose last step runs the jobs for the first time.
void UseMaintenanceDailyJobs();
