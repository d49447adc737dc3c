# bash completion for zentrel: the option names, the duration format names after -e and
# --extended-format, and file names after --compareold=, --comparenew= and --holidays=.

_zentrel_options=(
  -? -h -q -v -o -p -a -f -d -s -w -y -b -t -n -e -l -m -c -r -z -x -k -u -i
  --?? --help --help2 --quiet --verbose --output= --days-prior= --days-after= --format
  --date --selected --day-of-week --day-of-year --days-between= --time --time-between=
  --extended-format= --leapyear --month-end --current= --random --time-prior=
  --time-after= --convert-time= --convert-days= --use-hours --use-minutes --use-seconds
  --compareold= --comparenew= --searchfor= --heading= --zeroall --zerothis
  --script-variables --no-symbols --info --version-only --error-delay --audible-error
  --debug-mode --version --utc --unix-time --business-days= --sequence= --step= --holidays=
)

_zentrel_formats=(
  'months'
  'weeks'
  'days'
  'hours'
  'seconds'
  'mseconds'
  'min:sec.ms'
  'min:sec'
  'minutes'
  '0000:sec.ms'
  '0000:sec'
  '0000'
  '####:sec.ms'
  '####:sec'
  '####'
  'hr:min:sec.ms'
  'hr:min:sec'
  'hr:min'
  '000:min:sec.ms'
  '000:min:sec'
  '000:min'
  '###:min:sec.ms'
  '###:min:sec'
  '###:min'
  'dd hr:min:sec.ms'
  'dd hr:min:sec'
  'dd hr:min'
  '00 hr:min:sec.ms'
  '00 hr:min:sec'
  '00 hr:min'
  '## hr:min:sec.ms'
  '## hr:min:sec'
  '## hr:min'
  'dd:hr:min:sec.ms'
  'dd:hr:min:sec'
  'dd:hr:min'
  '00:hr:min:sec.ms'
  '00:hr:min:sec'
  '00:hr:min'
  '##:hr:min:sec.ms'
  '##:hr:min:sec'
  '##:hr:min'
  '000:hr:min:sec.ms'
  '000:hr:min:sec'
  '000:hr:min'
  '###:hr:min:sec.ms'
  '###:hr:min:sec'
  '###:hr:min'
  'dddd:hr:min:sec.ms'
  'dddd:hr:min:sec'
  'dddd:hr:min'
  '0000:hr:min:sec.ms'
  '0000:hr:min:sec'
  '0000:hr:min'
  '####:hr:min:sec.ms'
  '####:hr:min:sec'
  '####:hr:min'
  'dys hrs mins secs.ms'
  'dys hrs mins secs'
  'dys hrs mins'
  'days hours mins secs.ms'
  'days hours mins secs'
  'days hours mins'
)

_zentrel() {
  local line=${COMP_LINE:0:COMP_POINT} cur=${COMP_WORDS[COMP_CWORD]}
  local restore name reply quote typed piece i
  COMPREPLY=()
  restore=$(shopt -p nocasematch)
  shopt -s nocasematch  # options match without regard to case
  if [[ $line =~ (^|[[:space:]])(-e[[:space:]]+|--extended-format[=[:space:]]+)(\"[^\"]*|\'[^\']*|([^[:space:]\"\'\\]|\\.)*)$ ]]; then
    typed=${BASH_REMATCH[3]}
    quote=${typed:0:1}
    if [[ $quote == [\"\'] ]]; then typed=${typed:1}; else quote=; fi
    # Readline replaces the text after the last word-break character (":" is one) unless
    # the value is quoted, so the names are offered from there on.
    piece=$typed
    if [ -z "$quote" ]; then
      for ((i = ${#typed} - 1; i >= 0; i--)); do
        if [[ $COMP_WORDBREAKS == *"${typed:i:1}"* && ${typed:i-1:1} != \\ ]]; then
          piece=${typed:i+1}
          break
        fi
      done
      typed=${typed//\\ / }
      piece=${piece//\\ / }
    fi
    for name in "${_zentrel_formats[@]}"; do
      [[ $name == "$typed"* ]] || continue
      reply=${name:${#typed}-${#piece}}
      if [ -z "$quote" ]; then
        reply=${reply// /\\ }
        # A "#" beginning a word would start a comment.
        [[ $piece == "$typed" && $reply == "#"* ]] && reply="\\$reply"
      fi
      COMPREPLY+=("$reply")
    done
  elif [[ $line =~ --(compareold|comparenew|holidays)=([^[:space:]]*)$ ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "${BASH_REMATCH[2]}")
  elif [[ $cur == -* ]]; then
    for name in "${_zentrel_options[@]}"; do
      [[ $name == "$cur"* ]] && COMPREPLY+=("$name")
    done
    [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
  fi
  $restore
  return 0
}
complete -F _zentrel zentrel
