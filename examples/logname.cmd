@echo off
rem A log file name from the date and the time without their separators,
rem whichever of "/", "-", "." and ":" the regional settings use. The
rem text is checked as in capture.cmd before it makes a name.
for /f "delims=" %%t in ('tikvan /DT ^& if errorlevel 1 echo failed') ^
    do set "stamp=%%t"
if "%stamp%"=="failed" (
    echo tikvan gave no timestamp
    exit /b 1
)
for /f "tokens=1-6 delims=/-.: " %%a in ("%stamp%") do (
    set "log=backup-%%a%%b%%c-%%d%%e%%f.log"
)
echo Backup started>> %log%
echo Log file: %log%
