/* VERSIONINFO of libvarizav.so as a REXX program calls it.
   Argument: the file holding the expected entries 1 to 11, one per line.
   Exit status: the number of failed checks. */
parse arg expected_file
failures = 0

if RxFuncAdd('VERSIONINFO', 'varizav', 'VERSIONINFO') \= 0 then do
  say 'FAIL: RxFuncAdd could not register VERSIONINFO from libvarizav'
  exit 1
end

do k = 1 to 11
  expected.k = linein(expected_file)
end
call stream expected_file, 'c', 'close'

/* No argument: the version, "1.0.0 (Mar 05 2025)" */
version = VERSIONINFO()
call expect 'VERSIONINFO()', version, expected.3
parse var version major '.' minor '.' patch ' (' month day year ')' rest
months = 'Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec'
if \datatype(major, 'W') | \datatype(minor, 'W') | \datatype(patch, 'W') | wordpos(month, months) = 0 ,
   | \datatype(day, 'W') | \datatype(year, 'W') | rest \= '' then do
  say 'FAIL: the version text "'version'" is not "x.y.z (Mon dd yyyy)"'
  failures = failures + 1
end

/* One character "1" to ";": entries 1 to 11 */
do k = 1 to 11
  argument = d2c(c2d('0') + k)
  interpret 'got = VERSIONINFO(argument)'
  call expect 'VERSIONINFO("'argument'")', got, expected.k
  if length(got) > 255 then do
    say 'FAIL: entry' k 'has' length(got) 'characters'
    failures = failures + 1
  end
end
call expect 'entry 1', VERSIONINFO('1'), 'VARIZAV'
call expect 'entry 2', VERSIONINFO('2'), 'libvarizav.so'

/* Anything else is an incorrect call: REXX error 40 */
call expect_error40 "VERSIONINFO('0')"
call expect_error40 "VERSIONINFO('12')"
call expect_error40 "VERSIONINFO('1', '2')"
call expect_error40 "VERSIONINFO('<')"
call expect_error40 "VERSIONINFO('')"

if failures = 0 then say 'VERSIONINFO: all checks passed'
exit failures

expect: procedure expose failures
  parse arg what, got, want
  if got == want then return
  say 'FAIL:' what 'gave "'got'", expected "'want'"'
  failures = failures + 1
  return

expect_error40: procedure expose failures
  parse arg call_text
  signal on syntax name caught
  interpret 'result_text =' call_text
  say 'FAIL:' call_text 'returned "'result_text'" instead of raising error 40'
  failures = failures + 1
  return
caught:
  if rc \= 40 then do
    say 'FAIL:' call_text 'raised error' rc 'instead of 40'
    failures = failures + 1
  end
  return
