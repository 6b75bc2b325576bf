# Shared by scripts/run and scripts/test: install what is missing, build, run a MariaDB server.
# shellcheck shell=bash

QB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

QB_PACKAGES=(build-essential cmake qtbase5-dev qtdeclarative5-dev libqt5sql5-mysql
             mariadb-server mariadb-client fonts-dejavu-core poppler-utils
             qttools5-dev qttools5-dev-tools python3)
# What scripts/package needs on top to build and check the Debian package.
QB_PACKAGE_TOOLS=(dpkg-dev file lintian desktop-file-utils appstream xvfb xauth xdotool imagemagick)

qb_log() { printf '[quillbox] %s\n' "$*" >&2; }

qb_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null 2>&1; then sudo "$@"
  else qb_log "need root or sudo to run: $*"; return 1
  fi
}

# Installs the Debian packages that are not installed yet; a second run does nothing.
qb_ensure_packages() {
  local missing=() pkg
  for pkg in "${QB_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  qb_log "installing: ${missing[*]}"
  qb_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  qb_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# qb_build DIR BUILD_TYPE [cmake args...]
qb_build() {
  local dir="$1" type="$2"; shift 2
  cmake -S "$QB_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

qb_mariadbd() { command -v mariadbd || command -v mysqld || echo /usr/sbin/mariadbd; }

qb_free_port() {
  local port
  for _ in $(seq 1 200); do
    port=$(( 20000 + RANDOM % 40000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return 0; fi
  done
  return 1
}

# qb_start_mariadb DATADIR PORT [extra mariadbd options...]: initialises DATADIR if needed and
# starts a server on 127.0.0.1:PORT and DATADIR/mysqld.sock; waits until it answers.
qb_start_mariadb() {
  local datadir="$1" port="$2"; shift 2
  local user_opt=()
  [ "$(id -u)" -eq 0 ] && user_opt=(--user=root)
  if [ ! -d "$datadir/mysql" ]; then
    mkdir -p "$datadir"
    mariadb-install-db --no-defaults --datadir="$datadir" "${user_opt[@]}" \
      --auth-root-authentication-method=socket --skip-test-db >"$datadir.install.log" 2>&1 \
      || { qb_log "mariadb-install-db failed:"; cat "$datadir.install.log" >&2; return 1; }
  fi
  # Temporary tables in a folder of the server's own: other servers and /tmp cleaners on the
  # same machine never remove them under a running query.
  local tmpdir; tmpdir="$(dirname "$datadir")/tmp"
  mkdir -p "$tmpdir"
  # What the server says before it opens its log lands there too, not on the terminal.
  "$(qb_mariadbd)" --no-defaults --datadir="$datadir" --tmpdir="$tmpdir" "${user_opt[@]}" \
    --port="$port" --bind-address=127.0.0.1 --socket="$datadir/mysqld.sock" \
    --pid-file="$datadir/mysqld.pid" --log-error="$datadir/error.log" --skip-log-bin "$@" \
    </dev/null >>"$datadir/error.log" 2>&1 &
  local i
  for i in $(seq 1 120); do
    if mariadb-admin --no-defaults --socket="$datadir/mysqld.sock" -uroot ping >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.5
  done
  qb_log "MariaDB did not start; its log:"; tail -n 30 "$datadir/error.log" >&2
  return 1
}

# qb_mariadb_sql DATADIR SQL: runs SQL as the server's root over its socket.
qb_mariadb_sql() {
  mariadb --no-defaults --socket="$1/mysqld.sock" -uroot -e "$2"
}

qb_stop_mariadb() {
  local datadir="$1" pid
  [ -f "$datadir/mysqld.pid" ] || return 0
  pid=$(cat "$datadir/mysqld.pid" 2>/dev/null)
  mariadb-admin --no-defaults --socket="$datadir/mysqld.sock" -uroot shutdown >/dev/null 2>&1 \
    || { [ -n "$pid" ] && kill "$pid" 2>/dev/null; }
  for _ in $(seq 1 60); do
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.5
  done
  kill -9 "$pid" 2>/dev/null || true
}

# Starts a throw-away MariaDB in a temporary folder on a free port, stops and removes it on
# every way out of the calling script, and exports QUILLBOX_TEST_DB_* for the test programs.
qb_start_test_server() {
  local base=/tmp
  [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
  QB_TEST_SERVER="$(mktemp -d "$base/quillbox-test-db.XXXXXX")"
  trap 'qb_stop_mariadb "$QB_TEST_SERVER/data"; rm -rf "$QB_TEST_SERVER"' EXIT
  trap 'exit 130' INT TERM
  local port password
  port="$(qb_free_port)"
  password="qbtest$RANDOM$RANDOM"
  # A test server keeps nothing: durability is traded for speed.
  local options=(--innodb-flush-log-at-trx-commit=0 --innodb-doublewrite=0 --sync-binlog=0
                 --innodb-buffer-pool-size=${QB_TEST_BUFFER_POOL:-512M} --max-connections=500)
  qb_start_mariadb "$QB_TEST_SERVER/data" "$port" "${options[@]}"
  # How a program stops and starts this very server again (outage scenarios).
  export QUILLBOX_TEST_DB_STOP="source '$QB_ROOT/scripts/lib/common.sh' && qb_stop_mariadb '$QB_TEST_SERVER/data'"
  export QUILLBOX_TEST_DB_START="source '$QB_ROOT/scripts/lib/common.sh' && qb_start_mariadb '$QB_TEST_SERVER/data' $port ${options[*]}"
  qb_mariadb_sql "$QB_TEST_SERVER/data" "CREATE USER 'quillbox'@'127.0.0.1' IDENTIFIED BY '$password';
    CREATE USER 'quillbox'@'localhost' IDENTIFIED BY '$password';
    GRANT ALL PRIVILEGES ON *.* TO 'quillbox'@'127.0.0.1';
    GRANT ALL PRIVILEGES ON *.* TO 'quillbox'@'localhost';
    FLUSH PRIVILEGES;"
  export QUILLBOX_TEST_DB_HOST=127.0.0.1
  export QUILLBOX_TEST_DB_PORT="$port"
  export QUILLBOX_TEST_DB_USER=quillbox
  export QUILLBOX_TEST_DB_PASSWORD="$password"
  export QUILLBOX_TEST_DB_SOCKET="$QB_TEST_SERVER/data/mysqld.sock"
}
